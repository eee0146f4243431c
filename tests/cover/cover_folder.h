// The fixture of the corvane_cover tests: a fresh folder for maps, traces
// and sources, and the tool run inside it.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "run_program.h"

class Cover_Folder : public ::testing::Test {
protected:
    void SetUp() override { dir = Make_Temporary_Directory(); }
    void TearDown() override { std::filesystem::remove_all(dir); }

    void Put(const std::string& name, const std::string& bytes) {
        std::filesystem::create_directories((std::filesystem::path(dir) / name).parent_path());
        Write_File(dir + "/" + name, bytes);
    }
    std::string Get(const std::string& name) { return Read_File(dir + "/" + name); }
    Run_Result Run(const std::vector<std::string>& args) { return Run_Program(CORVANE_COVER, args, "", dir); }

    std::string dir;
};
