#include "forms/FieldDialogView.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QVBoxLayout>
#include <map>

#include "platform/controls/ListControl.h"
#include "platform/controls/OptionButton.h"
#include "platform/controls/TextBox.h"

namespace vendaro {
namespace {

QString qt(const std::string& text) {
  return QString::fromStdString(text);
}

}  // namespace

FieldDialogView::FieldDialogView(std::shared_ptr<FieldDialog> dialog, QWidget* parent)
    : QWidget(parent, Qt::Window), dialog_(std::move(dialog)) {
  setAttribute(Qt::WA_DeleteOnClose);
  setObjectName(qt(dialog_->name()));
  setWindowTitle(qt(dialog_->caption()));
  auto* layout = new QVBoxLayout(this);
  auto* buttons = new QHBoxLayout;
  QTabWidget* tabs = nullptr;
  std::map<std::string, QGridLayout*> pages;
  for (const DialogElement& element : dialog_->elements()) {
    if (element.kind == DialogElement::Kind::Button && element.page.empty()) {
      buttons->addWidget(ui_.button(qt(element.caption), qt(element.name), element.click, this));
      continue;
    }
    auto found = pages.find(element.page);
    if (found == pages.end()) {
      QWidget* page = this;
      if (!element.page.empty()) {
        if (tabs == nullptr) {
          tabs = new QTabWidget(this);
          tabs->setObjectName(QStringLiteral("SSTab1"));
          layout->addWidget(tabs);
        }
        page = new QWidget;
        tabs->addTab(page, qt(element.page));
      }
      auto* grid = new QGridLayout;
      if (page == this) {
        layout->addLayout(grid);
      } else {
        page->setLayout(grid);
      }
      found = pages.emplace(element.page, grid).first;
    }
    addElement(element, *found->second, found->second->parentWidget());
  }
  layout->addLayout(buttons);
  dialog_->onClose = [this] { close(); };
}

// The widgets and their bindings go before the dialog's model they draw.
FieldDialogView::~FieldDialogView() {
  dialog_->onClose = nullptr;
  qDeleteAll(findChildren<QObject*>(QString(), Qt::FindDirectChildrenOnly));
}

void FieldDialogView::addElement(const DialogElement& element, QGridLayout& grid, QWidget* page) {
  using Kind = DialogElement::Kind;
  const int row = grid.rowCount();
  const QString name = qt(element.name);
  switch (element.kind) {
    case Kind::Box:
      if (!element.caption.empty()) grid.addWidget(ui_.caption(qt(element.caption), page), row, 0);
      grid.addWidget(ui_.lineEdit(static_cast<TextBox&>(*element.control), name, page), row, 1);
      break;
    case Kind::Option:
      grid.addWidget(
          ui_.optionButton(static_cast<OptionButton&>(*element.control), name, element.click, page),
          row, 1);
      break;
    case Kind::Combo:
      grid.addWidget(
          ui_.comboBox(static_cast<ListControl&>(*element.control), name, element.click, page), row,
          1);
      break;
    case Kind::List:
      grid.addWidget(
          ui_.listBox(static_cast<ListControl&>(*element.control), name, nullptr, nullptr, page),
          row, 0, 1, 2);
      break;
    case Kind::Button:
      grid.addWidget(ui_.button(qt(element.caption), name, element.click, page), row, 1);
      break;
    case Kind::Heading:
      grid.addWidget(ui_.caption(qt(element.caption), page), row, 0, 1, 2);
      break;
  }
}

void FieldDialogView::closeEvent(QCloseEvent* event) {
  dialog_->unload();
  QWidget::closeEvent(event);
}

}  // namespace vendaro
