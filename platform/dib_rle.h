// Inside the BMP decoder: RLE4 and RLE8 pixel data, walked to its end mark.
// Internal to platform/.
//
// A run may reach into the padding of its stored row (rows are stored padded
// to 4 bytes, and some writers let their runs cover that padding when the
// width is not a multiple of 4): what lies beyond the row's last pixel is cut
// off, as common decoders do. A run or move beyond the padded row, or below
// the picture's last row, leaves the picture and is refused.
#pragma once

#include "platform/dib_layout.h"

#include <vector>

namespace dib {

// Walks the data without writing anything: ConversionFailed when it leaves
// the picture, runs off its bytes, has no end mark or sets a pixel of the
// picture to an index beyond the colour table.
DibError CheckRle(ByteSpan file, const Layout& layout);

// Decodes data that CheckRle accepted into packed RGB rows, bottom row
// first. Pixels that no run sets (skipped by a move, an early end of line or
// end of picture) take colour 0 of the table.
DibError DecodeRle(ByteSpan file, const Layout& layout, std::vector<unsigned char>& rgb);

}  // namespace dib
