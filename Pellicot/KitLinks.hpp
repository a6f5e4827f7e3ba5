#pragma once
#include "Foundation/URL.hpp"

namespace Pellicot {

// The maker's web pages, each made once from a fixed address.
struct KitLinks {
    static const Foundation::URL& quorvaneSite();
    static const Foundation::URL& quorvaneContactPage();
    static const Foundation::URL& quorvaneMastodonAccount();
};

}  // namespace Pellicot
