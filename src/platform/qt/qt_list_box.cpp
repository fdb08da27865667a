// The lists of the Qt backend.
#include "platform/qt/qt_list_box.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

ListBox::ListBox(QtShared* shared, int id, bool ownerDrawn, uint32_t style, QWidget* parent)
    : QListWidget(parent), shared(shared), id(id), multi(style & STYLE_MULTI_SELECT) {
    setSelectionMode(multi ? MultiSelection : SingleSelection);
    setUniformItemSizes(true);
    setFrameStyle(QFrame::WinPanel | QFrame::Sunken);
    setLineWidth(2);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(style & STYLE_VSCROLL ? Qt::ScrollBarAsNeeded
                                                     : Qt::ScrollBarAlwaysOff);
    setVerticalScrollMode(ScrollPerItem);
    setEditTriggers(NoEditTriggers);
    setItemDelegate(new ListItemPainter(shared, id, ownerDrawn, this));
    setFont(shared->fonts.panel);
    QPalette colours = palette();
    colours.setColor(QPalette::Base, pixelColour(COLOUR_LIST));
    colours.setColor(QPalette::Text, Qt::black);
    setPalette(colours);
}

void ListBox::selectItem(int index, bool selected) {
    if (index < 0) {
        if (multi) {
            for (int i = 0; i < count(); i++) item(i)->setSelected(selected);
        } else if (!selected) {
            clearSelection();
        }
        return;
    }
    if (index >= count()) return;
    QModelIndex modelIndex = model()->index(index, 0);
    if (!selected) {
        selectionModel()->select(modelIndex, QItemSelectionModel::Deselect);
    } else if (multi) {
        selectionModel()->select(modelIndex, QItemSelectionModel::Select);
        selectionModel()->setCurrentIndex(modelIndex, QItemSelectionModel::NoUpdate);
    } else {
        selectionModel()->setCurrentIndex(modelIndex, QItemSelectionModel::ClearAndSelect);
    }
}

bool ListBox::itemSelected(int index) const {
    return index >= 0 && index < count() && item(index)->isSelected();
}

// A click selects only the clicked item, or toggles it in a multiple-selection
// list; dragging over items changes nothing there, and the keys move the
// selection of a single-selection list (Space toggles in the other kind).
QItemSelectionModel::SelectionFlags ListBox::selectionCommand(const QModelIndex& index,
                                                              const QEvent* event) const {
    if (!index.isValid()) return QItemSelectionModel::NoUpdate;
    if (!multi) return QItemSelectionModel::ClearAndSelect;
    if (event && event->type() == QEvent::MouseButtonPress) return QItemSelectionModel::Toggle;
    if (event && event->type() == QEvent::KeyPress &&
        static_cast<const QKeyEvent*>(event)->key() == Qt::Key_Space)
        return QItemSelectionModel::Toggle;
    return QItemSelectionModel::NoUpdate;
}

std::vector<int> ListBox::selectedRows() const {
    std::vector<int> rows;
    for (int i = 0; i < count(); i++)
        if (item(i)->isSelected()) rows.push_back(i);
    return rows;
}

void ListBox::mousePressEvent(QMouseEvent* event) {
    QPoint pos = event->position().toPoint();
    // Presses beside the items, and with other buttons, do nothing.
    if (event->button() != Qt::LeftButton || !indexAt(pos).isValid()) {
        event->accept();
        return;
    }
    QListWidget::mousePressEvent(event);
    shared->notify(id, NOTIFY_SELECTION, viewport(), &pos);
}

void ListBox::mouseMoveEvent(QMouseEvent* event) {
    if (multi || !(event->buttons() & Qt::LeftButton)) return;
    std::vector<int> before = selectedRows();
    QListWidget::mouseMoveEvent(event);
    QPoint pos = event->position().toPoint();
    if (selectedRows() != before) shared->notify(id, NOTIFY_SELECTION, viewport(), &pos);
}

void ListBox::mouseDoubleClickEvent(QMouseEvent* event) {
    QPoint pos = event->position().toPoint();
    if (event->button() != Qt::LeftButton || !indexAt(pos).isValid()) return;
    shared->notify(id, NOTIFY_DOUBLE_CLICK, viewport(), &pos);
}

void ListBox::keyPressEvent(QKeyEvent* event) {
    std::vector<int> before = selectedRows();
    QListWidget::keyPressEvent(event);
    if (selectedRows() != before) shared->notify(id, NOTIFY_SELECTION, nullptr, nullptr);
}

ListItemPainter::ListItemPainter(QtShared* shared, int id, bool ownerDrawn, QObject* parent)
    : QAbstractItemDelegate(parent), shared(shared), id(id), ownerDrawn(ownerDrawn) {}

QSize ListItemPainter::sizeHint(const QStyleOptionViewItem& option, const QModelIndex&) const {
    return QSize(option.rect.width(), OWNER_ITEM_HEIGHT);
}

void ListItemPainter::paint(QPainter* painter, const QStyleOptionViewItem& option,
                            const QModelIndex& index) const {
    QRect area = option.rect;
    bool selected = option.state & QStyle::State_Selected;
    painter->save();
    painter->setClipRect(area);
    if (ownerDrawn && shared->events && !area.isEmpty()) {
        if (area.size() != pixelsSize) {
            pixelsSize = area.size();
            pixels.assign(static_cast<size_t>(area.width()) * static_cast<size_t>(area.height()),
                          COLOUR_LIST);
        }
        DrawItem item{id, index.row(), selected, false, area.width(), area.height(), pixels.data()};
        std::vector<TextRun> runs;
        shared->events->drawItem(item, runs);
        QImage image(reinterpret_cast<const uchar*>(pixels.data()), area.width(), area.height(),
                     area.width() * 4, QImage::Format_RGB32);
        painter->drawImage(area.topLeft(), image);
        drawTextRuns(*painter, area.topLeft(), runs, shared->fonts);
    } else if (!ownerDrawn) {
        const QPalette& colours = option.palette;
        painter->fillRect(area, selected ? colours.color(QPalette::Highlight)
                                         : colours.color(QPalette::Base));
        painter->setPen(selected ? colours.color(QPalette::HighlightedText)
                                 : colours.color(QPalette::Text));
        painter->setFont(option.font);
        painter->drawText(area.adjusted(1, 0, 0, 0), Qt::AlignLeft | Qt::AlignTop,
                          index.data(Qt::DisplayRole).toString());
    }
    painter->restore();
}
