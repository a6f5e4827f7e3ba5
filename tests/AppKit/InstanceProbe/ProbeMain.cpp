// A start as the application makes it, in a process of its own, for the tests of many starts
// at once:  AppKitInstanceProbe IDENTIFIER URL
// It first reads its standard input to the end, so that a test lets every start go at the same
// moment by closing one pipe. The one that becomes the running instance says "running", then
// "received URL" for each URL handed to it, and runs until it is ended; the others say "handed
// over", or give the reason on standard error.
#include <unistd.h>

#include <cstdio>
#include <string>
#include <vector>

#include "AppKit/ApplicationInstance.hpp"
#include "Dispatch/RunLoop.hpp"

namespace {

// Unbuffered: the test reads it while the process runs, and ends the process with a signal.
void say(const std::string& line) {
    const std::string text = line + "\n";
    for (std::size_t done = 0; done < text.size();) {
        const ssize_t n = ::write(STDOUT_FILENO, text.data() + done, text.size() - done);
        if (n <= 0) return;
        done += std::size_t(n);
    }
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s IDENTIFIER URL\n", argv[0]);
        return 2;
    }
    for (char c; ::read(STDIN_FILENO, &c, 1) > 0;) {
    }
    using AppKit::ApplicationInstance;
    auto start = ApplicationInstance::start(argv[1], {argv[2]}, [](const std::vector<std::string>& urls) {
        for (auto& url : urls) say("received " + url);
    });
    switch (start.outcome) {
    case ApplicationInstance::Start::Outcome::running:
        say("running");
        Dispatch::RunLoop::main().runFor(60);
        return 0;
    case ApplicationInstance::Start::Outcome::handedOver: say("handed over"); return 0;
    case ApplicationInstance::Start::Outcome::alone: std::fprintf(stderr, "alone: %s\n", start.error.c_str()); return 3;
    case ApplicationInstance::Start::Outcome::failed: std::fprintf(stderr, "%s\n", start.error.c_str()); return 1;
    }
    return 1;
}
