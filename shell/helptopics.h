#pragma once
// The help browser's topic tree: six roots and their children in the order they are added,
// each with the page a click opens (none for the group roots).

#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace calvex::shell {

struct HelpTopic {
    std::string_view key;
    std::string_view text;   // exactly as shown, blanks included; a click is matched on it
    std::string_view parent; // empty for a root
    std::string_view page;   // empty: a click opens nothing
};

inline constexpr std::string_view helpHomePage = "1.htm";
inline constexpr std::string_view helpInstallPage = "2.htm";

std::span<const HelpTopic> helpTopics();

// The page of the first topic whose text equals `text` exactly, or empty.
std::string_view helpPageForText(std::string_view text);

// Every page the help browser can open: the home page and the pages of the tree, each once.
std::vector<std::string> helpPageNames();

} // namespace calvex::shell
