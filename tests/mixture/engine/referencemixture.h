#pragma once
// A plain double-precision cubic-equation vapour–liquid equilibrium solver, written apart from
// the engine: roots by bracketing between the cubic's turning points and bisection, textbook
// ln φ expressions, and the classic successive-substitution bubble, dew and flash schemes
// (k_ij = 0). A bubble or dew point is never the trivial solution (the given phase found again as
// the incipient one): where substitution ends there, the point is bracketed and bisected, and a
// search that finds none throws. The tests compare the engine with it.

#include <vector>

namespace calvex::mixture::reference {

enum class Equation { PengRobinson, SoaveRedlichKwong, RedlichKwong };

struct Component {
    double Tc; // K
    double Pc; // bar
    double omega;
    double Tb; // K
};

using Composition = std::vector<double>;

struct Roots {
    double liquid; // smallest root above B (the vapour root when there is none)
    double vapour; // largest root
    int count;     // real roots
};

// Real roots of Z³ + c1·Z² + c2·Z + c3 = 0, ascending.
std::vector<double> cubicRoots(double c1, double c2, double c3);

class Mixture {
public:
    Mixture(Equation equation, std::vector<Component> components) : m_equation(equation), m_components(std::move(components)) {}

    Roots roots(const Composition& x, double T, double P) const;
    // ln φ of every component in the phase of composition x at its liquid or vapour root.
    Composition lnPhi(const Composition& x, double T, double P, bool liquid) const;
    // Mixture a (bar·m⁶/mol²) and b (m³/mol).
    double am(const Composition& x, double T) const;
    double bm(const Composition& x) const;

    struct Point {
        double value; // P in bar or T in K
        Composition other; // composition of the incipient phase
    };
    Point bubblePressure(const Composition& x, double T) const;
    Point dewPressure(const Composition& y, double T) const;
    Point bubbleTemperature(const Composition& x, double P) const;
    Point dewTemperature(const Composition& y, double P) const;

    struct Flash {
        bool twoPhase;
        double L;
        Composition x, y;
    };
    Flash flash(const Composition& z, double T, double P) const;
    // From the caller's start ratios: Wilson's are far from the equation's own where it has no
    // acentric factor (Redlich–Kwong) or at low reduced temperature.
    Flash flash(const Composition& z, double T, double P, Composition K) const;

    // The pure component's saturation pressure (equal liquid and vapour fugacity), bar.
    double saturationPressure(double T) const;

private:
    double ai(int i, double T) const;
    double bi(int i) const;
    double wilsonK(int i, double T, double P) const;
    struct Trial {
        double sum;     // Σ given·K (bubble) or Σ given/K (dew)
        bool settled;   // the substitution met its stop test
        bool collapsed; // it fell onto the trivial solution: the incipient phase is the given one
    };
    // At fixed T and P, the incipient-phase composition by substitution from `other` (Wilson's
    // when it is empty).
    Trial incipientSum(const Composition& given, double T, double P, bool bubble, Composition& other) const;
    // The same at `value` (P in bar for a pressure search, T in K otherwise), the other state `fixed`.
    Trial trialAt(const Composition& given, double value, double fixed, bool pressure, bool bubble,
                  Composition& other) const;
    // Whether another start (Wilson's, each pure component) finds the given phase split.
    bool splitsElsewhere(const Composition& given, double T, double P, bool bubble) const;
    bool isPoint(const Composition& given, double value, double fixed, bool pressure, bool bubble,
                 Composition& other) const;
    // The substitution's end where it is a point, else the point bracketed from `start`; throws
    // where none is found.
    Point acceptedPoint(const Composition& given, double value, double fixed, bool pressure, bool bubble, double start,
                        Composition other) const;
    Point bracketedPoint(const Composition& given, double start, double fixed, bool pressure, bool bubble) const;
    Point incipientPressure(const Composition& given, double T, bool bubble) const;
    Point incipientTemperature(const Composition& given, double P, bool bubble) const;

    Equation m_equation;
    std::vector<Component> m_components;
};

} // namespace calvex::mixture::reference
