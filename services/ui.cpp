#include "services/ui.h"

namespace calvex::services {
namespace {

class SilentUi final : public Ui {
public:
    void message(const std::string&, const std::string&) override {}
    std::string ask(const std::string&, const std::string&, const std::string&) override { return {}; }
    bool yesNo(const std::string&, const std::string&, Question) override { return false; }
    void showModal(ModalDialog&) override {}
};

SilentUi g_silentUi;
Ui* g_ui = &g_silentUi;

} // namespace

void Ui::message(const std::string& text, const std::string& title, Icon) { message(text, title); }

Ui& ui() { return *g_ui; }

Ui& silentUi() { return g_silentUi; }

void setUi(Ui* ui) { g_ui = ui ? ui : &g_silentUi; }

ScopedUi::ScopedUi(Ui& ui) : m_previous(g_ui) { g_ui = &ui; }

ScopedUi::~ScopedUi() { g_ui = m_previous; }

} // namespace calvex::services
