#pragma once

#include <cstdint>
#include <string>

namespace calvex::core {

// One component as a calculator holds it. Pc is in bar as stored and typed, in pascal
// inside the pure-component, activity-coefficient and mixture fugacity and departure routines.
struct ComponentConstants {
    std::string compoundname;
    float Tc = 0.0f;    // K
    float Pc = 0.0f;    // bar or Pa, see above
    float omega = 0.0f;
    float Tb = 0.0f;    // K
    std::int16_t eq = 0; // vapour-pressure equation number
    float VPA = 0.0f;
    float VPB = 0.0f;
    float VPC = 0.0f;
    float VPD = 0.0f;
    // Ideal-gas Cp = A + B*T + C*T^2 + D*T^3 in J/(mol K), T in K.
    float CPVAPA = 0.0f;
    float CPVAPB = 0.0f;
    float CPVAPC = 0.0f;
    float CPVAPD = 0.0f;
};

} // namespace calvex::core
