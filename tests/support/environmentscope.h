#pragma once
// An environment variable set, or unset for nullopt, for the life of the object.

#include <cstdlib>
#include <optional>
#include <string>

namespace calvex::testing {

class EnvironmentScope {
public:
    EnvironmentScope(const char* name, const std::optional<std::string>& value) : m_name(name)
    {
        if (const char* previous = std::getenv(name))
            m_previous = previous;
        value ? ::setenv(name, value->c_str(), 1) : ::unsetenv(name);
    }
    ~EnvironmentScope() { m_previous ? ::setenv(m_name, m_previous->c_str(), 1) : ::unsetenv(m_name); }
    EnvironmentScope(const EnvironmentScope&) = delete;
    EnvironmentScope& operator=(const EnvironmentScope&) = delete;

private:
    const char* m_name;
    std::optional<std::string> m_previous;
};

} // namespace calvex::testing
