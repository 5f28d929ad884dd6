#pragma once
// The logo decoded by the system's own decoders, the ones the screensaver's
// picture loader goes through: the Windows Imaging Component for JPEG files,
// the system's icon loader for icons. A logo they refuse here is one the
// screensaver could never show.

#include "PackageContents.h"

class TSystemLogoDecoder final : public TLogoDecoder {
public:
    // Decodes every row, as showing the picture does: a file cut short or
    // damaged inside its scan is found only there.
    bool JpegDecodes(const void* Data, std::size_t Size) const override;
    // The image the screensaver would choose for the system's icon size.
    bool IconDecodes(const void* Data, std::size_t Size) const override;
};
