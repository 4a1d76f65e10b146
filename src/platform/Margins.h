#pragma once

namespace kb {

// Page margins in millimetres. The settings file keeps whole millimetres; designed forms may
// use fractions. Written with designated initialisers ({.left = 4, .right = 2, ...}) wherever
// the order is not obvious.
struct Margins {
    double left = 0;
    double right = 0;
    double top = 0;
    double bottom = 0;

    bool operator==(const Margins &) const = default;
};

} // namespace kb
