#include "run_program.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <stdexcept>

#include <gtest/gtest.h>

Run_Result Run_Program(const std::string& program, const std::vector<std::string>& args,
                       const std::string& input, const std::string& working_directory) {
    int in[2], out[2], err[2];
    if (pipe(in) || pipe(out) || pipe(err)) throw std::runtime_error("pipe failed");
    signal(SIGPIPE, SIG_IGN);
    pid_t pid = fork();
    if (pid < 0) throw std::runtime_error("fork failed");
    if (pid == 0) {
        dup2(in[0], 0);
        dup2(out[1], 1);
        dup2(err[1], 2);
        for (int fd : {in[0], in[1], out[0], out[1], err[0], err[1]}) close(fd);
        if (!working_directory.empty() && chdir(working_directory.c_str()) != 0) _exit(126);
        std::vector<char*> argv;
        argv.push_back(const_cast<char*>(program.c_str()));
        for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
        argv.push_back(nullptr);
        signal(SIGPIPE, SIG_DFL);
        execv(program.c_str(), argv.data());
        _exit(127);
    }
    close(in[0]);
    close(out[1]);
    close(err[1]);
    fcntl(in[1], F_SETFL, O_NONBLOCK);
    Run_Result r{0, "", ""};
    size_t written = 0;
    bool in_open = true, out_open = true, err_open = true;
    if (input.empty()) {
        close(in[1]);
        in_open = false;
    }
    char buf[65536];
    while (in_open || out_open || err_open) {
        pollfd fds[3];
        int n = 0;
        int in_at = -1, out_at = -1, err_at = -1;
        if (in_open) { in_at = n; fds[n++] = {in[1], POLLOUT, 0}; }
        if (out_open) { out_at = n; fds[n++] = {out[0], POLLIN, 0}; }
        if (err_open) { err_at = n; fds[n++] = {err[0], POLLIN, 0}; }
        if (poll(fds, n, -1) < 0) {
            if (errno == EINTR) continue;
            break;
        }
        if (in_at >= 0 && fds[in_at].revents) {
            ssize_t w = write(in[1], input.data() + written, input.size() - written);
            if (w > 0) written += static_cast<size_t>(w);
            if (w < 0 && errno != EAGAIN) written = input.size();
            if (written == input.size()) { close(in[1]); in_open = false; }
        }
        if (out_at >= 0 && fds[out_at].revents) {
            ssize_t k = read(out[0], buf, sizeof buf);
            if (k > 0) r.out.append(buf, static_cast<size_t>(k)); else { close(out[0]); out_open = false; }
        }
        if (err_at >= 0 && fds[err_at].revents) {
            ssize_t k = read(err[0], buf, sizeof buf);
            if (k > 0) r.err.append(buf, static_cast<size_t>(k)); else { close(err[0]); err_open = false; }
        }
    }
    int status = 0;
    waitpid(pid, &status, 0);
    r.status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    return r;
}

std::string Read_File(const std::string& path) {
    std::ifstream f(path, std::ios::binary);
    if (!f) {
        ADD_FAILURE() << "cannot read " << path;
        return "";
    }
    std::ostringstream s;
    s << f.rdbuf();
    return s.str();
}

void Write_File(const std::string& path, const std::string& bytes) {
    std::ofstream f(path, std::ios::binary);
    f << bytes;
    if (!f) ADD_FAILURE() << "cannot write " << path;
}

namespace {

std::vector<std::string> Lines(const std::string& s) {
    std::vector<std::string> lines;
    size_t from = 0;
    while (from <= s.size()) {
        size_t lf = s.find('\n', from);
        if (lf == std::string::npos) {
            lines.push_back(s.substr(from));  // no "$": the text ends without a line feed
            break;
        }
        lines.push_back(s.substr(from, lf - from) + "\n");
        from = lf + 1;
    }
    return lines;
}

std::string Visible(const std::string& line) {
    std::string v;
    for (char c : line) {
        if (c == '\t') v += "^I";
        else if (c == '\n') v += "$";
        else if (c == '\r') v += "^M";
        else if (static_cast<unsigned char>(c) < 32) { v += '^'; v += static_cast<char>(c + 64); }
        else v += c;
    }
    return v;
}

}  // namespace

std::string Show_Difference(const std::string& expected, const std::string& actual) {
    std::vector<std::string> e = Lines(expected), a = Lines(actual);
    size_t i = 0;
    while (i < e.size() && i < a.size() && e[i] == a[i]) i++;
    std::ostringstream s;
    s << "first difference at line " << i + 1 << " (^I is a tab, $ a line end)\n";
    size_t from = i >= 2 ? i - 2 : 0;
    for (size_t k = from; k < i; k++) s << "  " << k + 1 << "  " << Visible(e[k]) << "\n";
    for (size_t k = i; k < e.size() && k < i + 3; k++) s << "- " << k + 1 << "  " << Visible(e[k]) << "\n";
    for (size_t k = i; k < a.size() && k < i + 3; k++) s << "+ " << k + 1 << "  " << Visible(a[k]) << "\n";
    return s.str();
}

std::string Make_Temporary_Directory() {
    const char* base = std::getenv("TMPDIR");
    std::string pattern = std::string(base && *base ? base : "/tmp") + "/corvane-test-XXXXXX";
    std::vector<char> buf(pattern.begin(), pattern.end());
    buf.push_back('\0');
    if (!mkdtemp(buf.data())) throw std::runtime_error("mkdtemp failed");
    return buf.data();
}
