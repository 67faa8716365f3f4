#include "mixture/windows/mixturewindows.h"

#include "mixture/windows/componentselectionwindow.h"
#include "mixture/windows/mixtureinputwindow.h"
#include "widgets/windowregistry.h"

namespace calvex::mixture {

void registerMixtureWindows()
{
    auto& registry = widgets::WindowRegistry::instance();
    for (const MixtureWindowKind kind : mixtureWindowKinds()) {
        const MixtureWindowConfig& config = mixtureWindowConfig(kind);
        registry.registerWindow(QString::fromStdString(config.inputName), [kind] { return new MixtureInputWindow(kind); });
        registry.registerWindow(QString::fromStdString(config.selectionName),
                                [kind] { return new ComponentSelectionWindow(kind); });
    }
}

} // namespace calvex::mixture
