#pragma once
// The heat-capacity dialog InputABCD: asks the constants A, B, C, D of the ideal-gas heat
// capacity Cp = A + B*T + C*T^2 + D*T^3 (J/(mol K), T in K) of a component entered by hand.
// It only collects the four texts; callers read them after it closes:
//
//   auto* dialog = WindowRegistry::instance().loadAs<InputABCD>("InputABCD");
//   ui().showModal(*dialog);
//   A = dialog->fieldValue(0); ... D = dialog->fieldValue(3);

#include "widgets/fielddialog.h"

namespace calvex::widgets {

class InputABCD : public FieldDialog {
    Q_OBJECT

public:
    explicit InputABCD(QWidget* parent = nullptr);

    void Form_Load();
    void Command1_Click() override;
};

} // namespace calvex::widgets
