#include "tools/artwork/Artwork.hpp"

int main(int argc, char** argv) { return Artwork::run(argc, argv); }
