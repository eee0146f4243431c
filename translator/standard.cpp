#include "standard.h"

#include <cstring>

Standard standard = Standard::VHDL87;

bool Set_Standard(const char* rest) {
    if (std::strcmp(rest, "=87") == 0) {
        standard = Standard::VHDL87;
    } else if (std::strcmp(rest, "=93") == 0) {
        standard = Standard::VHDL93;
    } else if (std::strcmp(rest, "=08") == 0) {
        standard = Standard::VHDL08;
    } else {
        return false;
    }
    return true;
}
