#include "toolchain.h"

#include <cstdio>

namespace {

// GHDL reads the instrumented text in its relaxed mode: the functions of the
// package of the counts write the trace, which a function may not do
// otherwise. -Wno-pure and -Wno-hide silence its warnings about that and
// about a design's label work. The mcode back end analyses again when it
// runs, so every step gets the same options.
std::vector<std::string> Ghdl_Options(const Setup& s) {
    char year[8];
    // --std=87, 93c (VHDL-93 with the rules of later versions relaxed), 08
    std::snprintf(year, sizeof year, "%02d%s", s.year % 100, s.year == 1993 ? "c" : "");
    return {std::string("--std=") + year, "-frelaxed", "-Wno-pure", "-Wno-hide", "--workdir=" + s.work};
}

std::vector<std::string> Ghdl_Analyse(const Setup& s, const std::vector<std::string>& files) {
    std::vector<std::string> args = {"-a"};
    for (const std::string& o : Ghdl_Options(s)) args.push_back(o);
    args.insert(args.end(), files.begin(), files.end());
    return args;
}

std::vector<std::string> Ghdl_Elaborate(const Setup& s) {
    std::vector<std::string> args = {"-e"};
    for (const std::string& o : Ghdl_Options(s)) args.push_back(o);
    args.push_back(s.top);
    return args;
}

std::vector<std::string> Ghdl_Run(const Setup& s) {
    std::vector<std::string> args = {"-r"};
    for (const std::string& o : Ghdl_Options(s)) args.push_back(o);
    args.push_back(s.top);
    if (!s.stop_time.empty()) args.push_back("--stop-time=" + s.stop_time);
    return args;
}

// NVC names its library and the folder that holds it; --relaxed lets a
// pure function of the design hold the counts' calls, which write the trace.
std::vector<std::string> Nvc_Options(const Setup& s) {
    return {"--std=" + std::to_string(s.year), "--work=work:" + s.work};
}

std::vector<std::string> Nvc_Analyse(const Setup& s, const std::vector<std::string>& files) {
    std::vector<std::string> args = Nvc_Options(s);
    args.insert(args.end(), {"-a", "--relaxed"});
    args.insert(args.end(), files.begin(), files.end());
    return args;
}

std::vector<std::string> Nvc_Elaborate(const Setup& s) {
    std::vector<std::string> args = Nvc_Options(s);
    args.insert(args.end(), {"-e", s.top});
    return args;
}

std::vector<std::string> Nvc_Run(const Setup& s) {
    std::vector<std::string> args = Nvc_Options(s);
    args.insert(args.end(), {"-r", s.top});
    if (!s.stop_time.empty()) args.push_back("--stop-time=" + s.stop_time);
    return args;
}

}  // namespace

const std::vector<Standard>& Standards() {
    static const std::vector<Standard> table = {
        {"87", 1987, {}},
        {"93", 1993, {"--std=93"}},
        {"08", 2008, {"--std=08"}},
    };
    return table;
}

const std::vector<Simulator>& Simulators() {
    static const std::vector<Simulator> table = {
        {"ghdl", "ghdl", 1987, Ghdl_Analyse, Ghdl_Elaborate, Ghdl_Run},
        {"nvc", "nvc", 1993, Nvc_Analyse, Nvc_Elaborate, Nvc_Run},
    };
    return table;
}

const Standard* Find_Standard(const std::string& name) {
    for (const Standard& s : Standards())
        if (name == s.name) return &s;
    return nullptr;
}

const Simulator* Find_Simulator(const std::string& name) {
    for (const Simulator& s : Simulators())
        if (name == s.name) return &s;
    return nullptr;
}
