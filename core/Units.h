#pragma once

// Unit factors, each stated once for every part of the program that converts: kFeetPerMetre
// and kKmPerNm. They are defined with the GPS layer, which sits below core and needs them too.

#include "gps/Units.h"
