#pragma once
// The missing-constants dialog: asks the name, Tc (K), Pc (bar), omega and Tb (K) of a
// component the database lacks, fills the four constants in again from the user component
// file when a known name is typed, and appends what was typed to that file on confirm.
// Seven instances keep up to six mixture components side by side: GetPcTcOmega for the pure
// windows, GetPcTcOmega1..GetPcTcOmega6 for component 1..6 of a mixture.
//
//   auto* dialog = WindowRegistry::instance().loadAs<ConstantsDialog>("GetPcTcOmega");
//   ui().showModal(*dialog);
//   name = dialog->fieldText(ConstantsDialog::NameBox); Tc = dialog->fieldValue(ConstantsDialog::TcBox); ...

#include "widgets/fielddialog.h"

namespace calvex::widgets {

class ConstantsDialog : public FieldDialog {
    Q_OBJECT

public:
    enum Box { NameBox = 0, TcBox = 1, PcBox = 2, OmegaBox = 3, TbBox = 4 };
    static constexpr int maxComponent = 6;

    // `component` 0 is the pure windows' instance, 1..6 the mixture component it asks for.
    explicit ConstantsDialog(int component = 0, QWidget* parent = nullptr);

    // "GetPcTcOmega" for 0, "GetPcTcOmega1".."GetPcTcOmega6" for 1..6.
    static QString instanceName(int component);

    bool EntriesChanged() const { return m_entriesChanged; }

    void Form_Load();
    void Text1_Change(int index);
    void Text1_GotFocus(int index) override;
    void dataload();
    void Command1_Click() override;
    void adddata();

private:
    bool m_entriesChanged = false;
};

} // namespace calvex::widgets
