#include "orders/SalesOverviewView.h"

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHorizontalBarSeries>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>
#include <QValueAxis>
#include <algorithm>
#include <cmath>
#include <functional>
#include <utility>

namespace vendaro {
namespace {

QString qt(const std::string& text) {
  return QString::fromStdString(text);
}

// A value axis from 0 to past the largest bar; counts get whole-number steps
// and labels.
QValueAxis* valueAxis(const ChartSeries& bars) {
  double most = 1;
  for (const double value : bars.values) most = std::max(most, value);
  auto* axis = new QValueAxis;
  if (bars.counts) {
    const double step = std::ceil(most / 4);
    axis->setRange(0, step * 4);
    axis->setTickType(QValueAxis::TicksDynamic);
    axis->setTickAnchor(0);
    axis->setTickInterval(step);
    axis->setLabelFormat(QStringLiteral("%d"));
  } else {
    axis->setRange(0, most);
    axis->applyNiceNumbers();
  }
  return axis;
}

// Replaces what `chart` shows with one set of bars, their labels on the
// category axis: below upright bars, left of horizontal ones (the first at
// the top, as a list reads).
void drawBars(QChart& chart, const ChartSeries& bars, bool horizontal) {
  chart.removeAllSeries();
  for (QAbstractAxis* axis : chart.axes()) {
    chart.removeAxis(axis);
    delete axis;
  }
  chart.setTitle(qt(bars.title));
  auto* set = new QBarSet(qt(bars.title));
  QStringList labels;
  // Horizontal bars are drawn from the bottom up: given last first.
  for (std::size_t n = 0; n < bars.values.size(); ++n) {
    const std::size_t i = horizontal ? bars.values.size() - 1 - n : n;
    *set << bars.values[i];
    labels << qt(bars.labels[i]);
  }
  QAbstractBarSeries* series = horizontal
                                   ? static_cast<QAbstractBarSeries*>(new QHorizontalBarSeries)
                                   : static_cast<QAbstractBarSeries*>(new QBarSeries);
  series->append(set);
  chart.addSeries(series);
  auto* categories = new QBarCategoryAxis;
  categories->append(labels);
  QValueAxis* values = valueAxis(bars);
  chart.addAxis(categories, horizontal ? Qt::AlignLeft : Qt::AlignBottom);
  chart.addAxis(values, horizontal ? Qt::AlignBottom : Qt::AlignLeft);
  series->attachAxis(categories);
  series->attachAxis(values);
  chart.legend()->hide();
}

}  // namespace

SalesOverviewView::SalesOverviewView(SalesOverview& form)
    : form_(form),
      revenueChart_(makeChart("chartRevenue")),
      statusChart_(makeChart("chartStatus")),
      itemChart_(makeChart("chartBestItems")) {
  setObjectName(QLatin1String(kSalesOverviewForm));
  setWindowTitle(qt(form_.Caption.Caption()));

  auto* charts = new QGridLayout;
  charts->addWidget(revenueChart_, 0, 0, 1, 2);
  charts->addWidget(statusChart_, 1, 0);
  charts->addWidget(itemChart_, 1, 1);
  charts->setRowStretch(0, 3);
  charts->setRowStretch(1, 2);

  auto* closeBar = new QHBoxLayout;
  closeBar->addStretch(1);
  closeBar->addWidget(ui_.button(
      form_.cmdClose, QStringLiteral("cmdClose"), [this] { form_.cmdClose_Click(); }, this));

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(makePeriodBar());
  layout->addWidget(ui_.label(form_.lblTotals, QStringLiteral("lblTotals"), this));
  layout->addWidget(ui_.label(form_.lblLeftOut, QStringLiteral("lblLeftOut"), this));
  layout->addLayout(charts, 1);
  layout->addLayout(closeBar);

  form_.onFiguresShown = [this] { showFigures(); };
  form_.onClose = [this] { close(); };
  resize(kInitialWidth, kInitialHeight);
  form_.Form_Load();
}

SalesOverviewView::~SalesOverviewView() {
  form_.onFiguresShown = nullptr;
  form_.onClose = nullptr;
}

QWidget* SalesOverviewView::makePeriodBar() {
  auto* bar = new QWidget(this);
  bar->setObjectName(QStringLiteral("picPeriod"));
  auto* layout = new QHBoxLayout(bar);
  layout->setContentsMargins(0, 0, 0, 0);
  const auto box = [this, bar, layout](Label& caption, const char* labelName, TextBox& text,
                                       const char* name) {
    QLabel* label = ui_.label(caption, QLatin1String(labelName), bar);
    QLineEdit* edit = ui_.lineEdit(text, QLatin1String(name), bar);
    edit->setPlaceholderText(QStringLiteral("YYYY-MM-DD"));
    label->setBuddy(edit);
    layout->addWidget(label);
    layout->addWidget(edit);
  };
  box(form_.lblFrom, "lblFrom", form_.txtFrom, "txtFrom");
  box(form_.lblTo, "lblTo", form_.txtTo, "txtTo");
  // Each handler is made here, not inside a helper lambda (GCC 12 lets a
  // lambda made inside a [&] lambda reach `this` through a frame that is gone).
  const auto option = [this, bar, layout](OptionButton& button, const char* name,
                                          std::function<void()> click) {
    layout->addWidget(ui_.optionButton(button, QLatin1String(name), std::move(click), bar));
  };
  option(form_.optDay, "optDay", [this] { form_.optDay_Click(); });
  option(form_.optWeek, "optWeek", [this] { form_.optWeek_Click(); });
  option(form_.optMonth, "optMonth", [this] { form_.optMonth_Click(); });
  layout->addWidget(ui_.button(
      form_.cmdShow, QStringLiteral("cmdShow"), [this] { form_.cmdShow_Click(); }, bar));
  layout->addStretch(1);
  return bar;
}

QChartView* SalesOverviewView::makeChart(const char* name) {
  auto* view = new QChartView(this);
  view->setObjectName(QLatin1String(name));
  view->setRenderHint(QPainter::Antialiasing);
  return view;
}

void SalesOverviewView::showFigures() {
  drawBars(*revenueChart_->chart(), form_.revenueSeries(), false);
  drawBars(*statusChart_->chart(), form_.statusSeries(), true);
  drawBars(*itemChart_->chart(), form_.bestItemSeries(), true);
}

}  // namespace vendaro
