// The inner loop of the correction render: takes the pixels of one output row from the source at their
// mapped positions. The result is that of SampleSourceAt for every position, bit for bit; on processors
// with SSE4.1 positions are rounded and checked two at a time and the three channel sums of a bicubic
// neighbourhood run in one vector.
#pragma once

#include "app/core/TKelvoPixels.h"
#include "classlib/core/Types.h"

// Writes n 3-byte pixels to out for the source positions (X[i], Y[i]).
void SampleSourceRow(const TKelvoPixels& source, const double* X, const double* Y, int n, Byte quality, Byte* out);

// The portable loop alone (one SampleSourceAt per position).
void SampleSourceRowPortable(const TKelvoPixels& source, const double* X, const double* Y, int n, Byte quality,
                             Byte* out);

// True when SampleSourceRow uses the SSE4.1 loop on this processor.
bool SampleSourceRowIsVectorised();
