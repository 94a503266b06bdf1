#pragma once

#include "platform/error.h"

#include <functional>

namespace quorbel {

// Told how far a conversion has got: the lines coloured so far and the
// lines of the whole text (the line count of the timing line). Returns
// whether the conversion goes on. Called on the converting thread, every
// few thousand lines and once at the end with done equal to total; a
// conversion without a hook costs nothing for it.
using ProgressHook = std::function<bool(int done, int total)>;

// A conversion that its progress hook stopped. Nothing is written after
// the hook said stop.
class ConversionStopped : public Error {
public:
    ConversionStopped() : Error("conversion stopped") {}
};

} // namespace quorbel
