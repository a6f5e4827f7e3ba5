#include "Vantrel_Zellow/WelcomeLinks.hpp"

namespace Vantrel_Zellow {

const Foundation::URL& welcomeHelpURL() {
    // A constant of the program: it always parses.
    static const Foundation::URL url = *Foundation::URL::fromString("https://www.example.com/help/vantrelzellow/welcome/");
    return url;
}

}  // namespace Vantrel_Zellow
