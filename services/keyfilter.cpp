#include "services/keyfilter.h"

namespace calvex::services {

bool keyAccepted(KeyFilter filter, std::string_view text, char key)
{
    if ((key >= '0' && key <= '9') || key == backspaceKey)
        return true;
    if (key == '.')
        return text.find('.') == std::string_view::npos;
    if (key == '-')
        return filter == KeyFilter::MinusAnywhere;
    return false;
}

} // namespace calvex::services
