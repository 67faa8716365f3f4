#include "pure/purecalculatorwindow.h"

#include "widgets/windowregistry.h"

namespace calvex::pure {
namespace {

class ProgramWindowServices final : public PureWindowServices {
public:
    ComponentList listComponents() override { return m_database.ListComponents(); }

    ComponentLookup readComponent(std::int32_t sno, core::ComponentConstants& constants,
                                  ComponentColumns columns) override
    {
        return m_database.ReadComponent(sno, constants, columns);
    }

    services::ModalDialog* dialog(const std::string& name) override
    {
        return widgets::WindowRegistry::instance().loadAs<services::ModalDialog>(QString::fromStdString(name));
    }

    void unloadDialog(const std::string& name) override
    {
        widgets::WindowRegistry::instance().unload(QString::fromStdString(name));
    }

private:
    ComponentDatabase m_database;
};

} // namespace

std::unique_ptr<PureWindowServices> programWindowServices() { return std::make_unique<ProgramWindowServices>(); }

} // namespace calvex::pure
