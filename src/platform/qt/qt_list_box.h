// The lists of the Qt backend: string lists and owner-drawn lists of fixed
// 16-pixel items. A click on an item reports NOTIFY_SELECTION even when the
// selection stays the same, a double click NOTIFY_DOUBLE_CLICK; changes made
// by the logic report nothing.
#pragma once

#include "platform/qt/qt_shared.h"

#include <QAbstractItemDelegate>
#include <QListWidget>

#include <vector>

class ListBox : public QListWidget {
  public:
    ListBox(QtShared* shared, int id, bool ownerDrawn, uint32_t style, QWidget* parent);
    bool multiSelect() const { return multi; }

    // The logic's side: no notifications.
    void selectItem(int index, bool selected);
    bool itemSelected(int index) const;

  protected:
    QItemSelectionModel::SelectionFlags selectionCommand(const QModelIndex& index,
                                                         const QEvent* event) const override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

  private:
    std::vector<int> selectedRows() const;

    QtShared* shared;
    int id;
    bool multi;
};

// Paints the items: owner-drawn ones through the logic's drawItem, string
// items as text on the list colour or the highlight.
class ListItemPainter : public QAbstractItemDelegate {
  public:
    ListItemPainter(QtShared* shared, int id, bool ownerDrawn, QObject* parent);
    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

  private:
    QtShared* shared;
    int id;
    bool ownerDrawn;
    mutable std::vector<uint32_t> pixels; // one item's picture, kept between items
    mutable QSize pixelsSize;
};
