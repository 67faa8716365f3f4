#pragma once
// The mole-fraction boxes of a component-selection window, free of widgets: their key filter,
// and the change handler that keeps the last box at 1 minus the sum of the others once the box
// before it has been changed, and announces a sum above 1.

#include "mixture/windows/mixturewindowconfig.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace calvex::mixture {

inline const std::string fractionSumMessage = " invalid molfraction entry please change them or else\r\n"
                                              "molfraction of component will be taken as Z(i)/summationZ(i)";

class MolFractions {
public:
    explicit MolFractions(bool family) : m_family(family) {}

    // Text1_MolFraction_KeyPress, judged on the box's text before the key: an empty box takes
    // only ".", a box with text only digits and Backspace.
    static bool keyAccepted(std::string_view text, char key);

    // What a change of box `index` asks of the window: a message to show first, then a new
    // text for box `lastBox`.
    struct Change {
        std::optional<std::string> message;
        std::optional<std::string> lastBoxText;
        int lastBox = -1;
    };
    // Text1_MolFraction_Change(index); `countText` is the input window's Combo3 as it reads
    // now, `boxes` the texts of the six boxes.
    Change changed(int index, std::string_view countText, const std::array<std::string, maxComponents>& boxes);

    std::int16_t count() const { return m_count; }
    float molsum() const { return m_molsum; }
    bool lastfill() const { return m_lastfill; }

private:
    bool m_family;
    std::int16_t m_count = 0;
    float m_molsum = 0;
    bool m_lastfill = false;
};

} // namespace calvex::mixture
