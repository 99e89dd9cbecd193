#pragma once

#include <QWidget>
#include <functional>
#include <utility>
#include <vector>

#include "orders/OrderViewer.h"
#include "platform/qt/QtToolWindow.h"
#include "platform/qt/QtViewBuilder.h"

class QGridLayout;
class QLabel;
class QResizeEvent;
class QTableWidget;

namespace vendaro {

// The order viewer on screen: the bound boxes of the current order with
// their labels, the grid of its lines, the data control's bar ("Record: N"
// and the four arrows) and the button bar. Loads the orders when made;
// forwards buttons, arrows and size changes to the model. The model must
// outlive the view.
class OrderViewerView : public QtToolWindow {
  Q_OBJECT

 public:
  static constexpr int kInitialWidth = 900;
  static constexpr int kInitialHeight = 620;

  explicit OrderViewerView(frmOrders& form);
  ~OrderViewerView() override;

 protected:
  void windowClosing() override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  QWidget* makeFields();
  void addField(QGridLayout& layout, std::size_t field, int row, int column);
  QWidget* makeRecordBar();
  QWidget* makeButtons();
  void showRecord();
  void showGrid();
  void placeBelowFields();

  frmOrders& form_;
  QtViewBuilder ui_;
  QWidget* fields_;
  QTableWidget* grid_;
  // Made with the record bar, so declared before it.
  QLabel* recordCaption_ = nullptr;
  QWidget* recordBar_;
  QWidget* buttons_;
  Control::ListenerId captionListener_;
};

}  // namespace vendaro
