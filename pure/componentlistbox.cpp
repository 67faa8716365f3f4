#include "pure/componentlistbox.h"

#include <QComboBox>

namespace calvex::pure {

void fillComponentList(QComboBox& list, const ComponentList& components)
{
    for (const ComponentEntry& entry : components.components) {
        const QString name = QString::fromStdString(entry.name);
        int position = 0;
        while (position < list.count() && QString::compare(list.itemText(position), name, Qt::CaseInsensitive) <= 0)
            ++position;
        list.insertItem(position, name, entry.SNO);
    }
}

} // namespace calvex::pure
