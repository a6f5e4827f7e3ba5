// The application's program: Contents/MacOS/Vantrel_Zellow of the application bundle.
//   Vantrel_Zellow [--snapshot FILE.png] [--size WxH] [--seconds S] [URL...]
#include "Host/ApplicationHost/ApplicationProgram.hpp"
#include "Vantrel_Zellow/VantrelZellowApp.hpp"

int main(int argc, char** argv) { return ApplicationHost::runApplication<Vantrel_Zellow::MidiZellowApp>(argc, argv); }
