#pragma once
// The volume of the wave mapper, the device every program's sound goes to by
// default.

#include "SystemServices.h"

class TWaveOutVolume : public TWaveVolume {
public:
    bool GetVolume(std::uint32_t& Volume) override;
    bool SetVolume(std::uint32_t Volume) override;
};
