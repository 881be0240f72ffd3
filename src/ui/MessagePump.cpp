#include "ui/MessagePump.h"

#include <utility>

namespace tarvel {
namespace {

std::function<void()>& Pump() {
    static std::function<void()> pump;
    return pump;
}

} // namespace

void ProcessMessages() {
    if (Pump())
        Pump()();
}

std::function<void()> SetMessagePump(std::function<void()> pump) {
    return std::exchange(Pump(), std::move(pump));
}

} // namespace tarvel
