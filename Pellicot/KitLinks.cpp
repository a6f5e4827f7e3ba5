#include "Pellicot/KitLinks.hpp"

namespace Pellicot {

namespace {
// The addresses are constants of the program and always parse.
Foundation::URL fixed(const char* address) { return *Foundation::URL::fromString(address); }
}  // namespace

const Foundation::URL& KitLinks::quorvaneSite() {
    static const Foundation::URL url = fixed("https://www.example.com/quorvane/");
    return url;
}

const Foundation::URL& KitLinks::quorvaneContactPage() {
    static const Foundation::URL url = fixed("https://www.example.com/quorvane/contact/");
    return url;
}

const Foundation::URL& KitLinks::quorvaneMastodonAccount() {
    static const Foundation::URL url = fixed("https://mastodon.example.org/@quorvane");
    return url;
}

}  // namespace Pellicot
