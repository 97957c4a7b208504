#include "app/on_off_list.h"

#include <QStyledItemDelegate>

#include "app/desktop_messages.h"

namespace korvana::app {

namespace {

constexpr int IndentRole = Qt::UserRole + 1;

class IndentDelegate : public QStyledItemDelegate {
 public:
  using QStyledItemDelegate::QStyledItemDelegate;
  void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
    QStyleOptionViewItem moved(option);
    moved.rect.adjust(index.data(IndentRole).toInt(), 0, 0, 0);
    QStyledItemDelegate::paint(painter, moved, index);
  }
};

}  // namespace

void UseOnOffDrawing(QListWidget* list) { list->setItemDelegate(new IndentDelegate(list)); }

void ShowOnOff(QListWidget* list, QListWidgetItem* item, const OnOffItem& look) {
  item->setText(ShownText(look.text));
  QFont font = list->font();
  font.setBold(look.bold);
  item->setFont(font);
  item->setData(IndentRole, look.indent);
}

}  // namespace korvana::app
