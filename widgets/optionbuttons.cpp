#include "widgets/optionbuttons.h"

#include <QButtonGroup>

namespace calvex::widgets {

void onOptionChecked(QButtonGroup& group, std::function<void(int id)> handler)
{
    QObject::connect(&group, &QButtonGroup::idToggled, &group, [handler = std::move(handler)](int id, bool checked) {
        if (checked)
            handler(id);
    });
}

} // namespace calvex::widgets
