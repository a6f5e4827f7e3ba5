#include "CoreAudioKit/AUViewController.hpp"
