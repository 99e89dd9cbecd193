#pragma once

#include <QWidget>

#include "orders/SalesOverview.h"
#include "platform/qt/QtToolWindow.h"
#include "platform/qt/QtViewBuilder.h"

class QChartView;

namespace vendaro {

// The sales overview on screen: the period boxes, the grouping and "&Show"
// in a bar at the top, the totals and what they leave out below it, then
// three bar charts (revenue per period, orders by status, the best items)
// and "&Close". Reads the figures when made; redraws the charts whenever the
// model has new figures. The model must outlive the view.
class SalesOverviewView : public QtToolWindow {
  Q_OBJECT

 public:
  static constexpr int kInitialWidth = 1000;
  static constexpr int kInitialHeight = 720;

  explicit SalesOverviewView(SalesOverview& form);
  ~SalesOverviewView() override;

 private:
  QWidget* makePeriodBar();
  QChartView* makeChart(const char* name);
  void showFigures();

  SalesOverview& form_;
  QtViewBuilder ui_;
  QChartView* revenueChart_;
  QChartView* statusChart_;
  QChartView* itemChart_;
};

}  // namespace vendaro
