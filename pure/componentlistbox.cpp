#include "pure/componentlistbox.h"

#include <QComboBox>
#include <QStandardItemModel>

#include <algorithm>
#include <vector>

namespace calvex::pure {

void fillComponentList(QComboBox& list, const ComponentList& components)
{
    std::vector<std::pair<QString, QVariant>> rows;
    rows.reserve(components.components.size() + static_cast<std::size_t>(list.count()));
    for (int i = 0; i < list.count(); ++i)
        rows.emplace_back(list.itemText(i), list.itemData(i));
    for (const ComponentEntry& entry : components.components)
        rows.emplace_back(QString::fromStdString(entry.name), QVariant(entry.SNO));
    std::stable_sort(rows.begin(), rows.end(), [](const auto& a, const auto& b) {
        return QString::compare(a.first, b.first, Qt::CaseInsensitive) < 0;
    });
    // One model set at once: an item inserted at a time tells a screen reader of each.
    auto* model = new QStandardItemModel(&list);
    QList<QStandardItem*> items;
    items.reserve(static_cast<qsizetype>(rows.size()));
    for (const auto& [name, data] : rows) {
        auto* item = new QStandardItem(name);
        item->setData(data, Qt::UserRole);
        items.append(item);
    }
    model->appendColumn(items);
    list.setModel(model);
}

} // namespace calvex::pure
