#pragma once
#include <sys/types.h>

#include <atomic>
#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <vector>

namespace AppKit {

// One running instance of an application per user, as the desktop expects: the first to start
// claims it, holding an exclusive lock on a file in the user's runtime directory for as long
// as it runs, and listens on a Unix-domain socket beside it; a later start (a URL opened from
// elsewhere) hands its URLs to that instance and ends. Both are named after the application's
// identifier: <runtime>/<identifier>.lock and .socket. The lock file is never followed through
// a link, and one that is no plain file of its own is refused.
//
// The hand-off: the start sends its URLs one a line, then an empty line (so no URLs is the
// empty line alone: "come to the front"); the instance answers "ok"; the start sends "go" and
// only then counts the URLs delivered. The instance acts on a message only once "go" comes, so
// a start that gave up waiting never has its URLs opened later. A message is at most
// maximumMessage bytes. The instance serves every start at once, each within
// messageDeadlineSeconds from its connection, and takes only the user's own processes; a
// start talks only to a listener of the user's own, in a runtime directory of the user's own.
class ApplicationInstance {
public:
    static constexpr std::size_t maximumMessage = 64 * 1024;
    static constexpr double messageDeadlineSeconds = 3;
    // Connecting (also to an instance still starting up), sending and the answer, together.
    static constexpr double handOffDeadlineSeconds = 5;

    // $XDG_RUNTIME_DIR, else a folder of the user's own under the temporary directory
    // (runtime-<uid>, made with mode 0700), as desktop toolkits do without a session. Empty
    // when that folder is not a directory the user owns with no access for others.
    static std::string runtimeDirectory();
    static std::string socketPath(const std::string& identifier);

    enum class HandOff {
        delivered,   // the running instance took the URLs
        noInstance,  // no process holds the claim (or there is no private runtime directory)
        failed,      // one holds it but did not take them (the reason in `error`)
    };
    // Gives URLs to the running instance; none means "come to the front". An instance that
    // holds the claim but does not listen yet is waited for, within the deadline.
    static HandOff handOff(const std::string& identifier, const std::vector<std::string>& urls, std::string* error = nullptr);

    using Receiver = std::function<void(const std::vector<std::string>& urls)>;

    // A start of the application, however many start at once: exactly one becomes the running
    // instance, and every other hands its URLs to it (waiting for it to listen, claiming again
    // should it end first) or fails within handOffDeadlineSeconds.
    struct Start {
        enum class Outcome {
            running,     // this process is the running instance (`instance`)
            handedOver,  // the running instance took the URLs: end
            alone,       // no claim can be made here (the reason in `error`): run unreachable
            failed,      // one runs but did not take them (the reason in `error`)
        } outcome = Outcome::failed;
        std::unique_ptr<ApplicationInstance> instance;
        std::string error;
    };
    static Start start(const std::string& identifier, const std::vector<std::string>& urls, Receiver receiver);

    // Becomes the running instance: from now on what later starts hand over reaches `receiver`
    // on the main queue. Null when another instance runs (hand off to it instead), or when the
    // runtime directory cannot be used (the reason in `error`).
    static std::unique_ptr<ApplicationInstance> claim(const std::string& identifier, Receiver receiver,
                                                      std::string* error = nullptr);
    // The process that holds the claim (0 when none does, or it has not written its id yet).
    static pid_t runningProcess(const std::string& identifier);

    // Stops listening, drops the hand-offs not finished, and gives the claim up.
    ~ApplicationInstance();
    ApplicationInstance(const ApplicationInstance&) = delete;
    ApplicationInstance& operator=(const ApplicationInstance&) = delete;

private:
    ApplicationInstance() = default;
    void listen();

    std::string socketPath_;
    int lock_ = -1, listener_ = -1, wake_[2] = {-1, -1};
    Receiver receiver_;
    std::thread thread_;
};

}  // namespace AppKit
