#include "services/keyfilter.h"

namespace calvex::services {

bool keyAccepted(KeyFilter filter, std::string_view text, char key)
{
    if (filter.pointFirst && text.empty())
        return key == '.';
    if (filter.pointFirst && key == '.')
        return false;
    if ((key >= '0' && key <= '9') || key == backspaceKey)
        return true;
    if (key == '.')
        return !filter.onePoint || text.find('.') == std::string_view::npos;
    if (key == '-')
        return filter.minus == KeyFilter::Minus::Anywhere
            || (filter.minus == KeyFilter::Minus::IntoEmptyBox && text.empty());
    return false;
}

} // namespace calvex::services
