// Runs a built program the way a user does: arguments, bytes on standard
// input, and everything it writes on its two output streams.
#pragma once

#include <string>
#include <vector>

struct Run_Result {
    int status;  // exit status, or 128 + signal number
    std::string out;
    std::string err;
};

Run_Result Run_Program(const std::string& program, const std::vector<std::string>& args,
                       const std::string& input, const std::string& working_directory = "");

// The file's bytes; fails the calling test when it cannot be read.
std::string Read_File(const std::string& path);
void Write_File(const std::string& path, const std::string& bytes);

// A readable account of where two texts first differ, with tabs shown as ^I
// and line ends as $, and a few lines of context.
std::string Show_Difference(const std::string& expected, const std::string& actual);

// A fresh empty directory under the system's temporary directory.
std::string Make_Temporary_Directory();
