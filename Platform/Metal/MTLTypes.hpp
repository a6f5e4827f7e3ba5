#pragma once
#include <cstdint>

namespace Metal {

// The pixel formats the system draws with, with the platform's values.
enum class MTLPixelFormat : unsigned long { invalid = 0, bgra8Unorm = 80, rgba16Float = 115 };

// Resource options; 0 is the platform default (shared storage, default CPU cache mode).
using MTLResourceOptions = unsigned long;
inline constexpr MTLResourceOptions MTLResourceStorageModeShared = 0;

enum class MTLPrimitiveType : unsigned long { point = 0, line = 1, lineStrip = 2, triangle = 3, triangleStrip = 4 };

enum class MTLLoadAction : unsigned long { dontCare = 0, load = 1, clear = 2 };
enum class MTLStoreAction : unsigned long { dontCare = 0, store = 1 };

struct MTLViewport {
    double originX = 0, originY = 0, width = 0, height = 0, znear = 0, zfar = 1;
    friend bool operator==(const MTLViewport&, const MTLViewport&) = default;
};

struct MTLClearColor {
    double red = 0, green = 0, blue = 0, alpha = 1;
    friend bool operator==(const MTLClearColor&, const MTLClearColor&) = default;
};

// Error domains and codes of what device, library and pipeline creation throw (as
// Foundation::NSError).
inline constexpr const char* MTLLibraryErrorDomain = "MTLLibraryErrorDomain";
inline constexpr const char* MTLRenderPipelineErrorDomain = "MTLRenderPipelineErrorDomain";
enum MTLLibraryError : long { MTLLibraryErrorInternal = 2, MTLLibraryErrorFileNotFound = 6 };
enum MTLRenderPipelineError : long {
    MTLRenderPipelineErrorInternal = 1,
    MTLRenderPipelineErrorUnsupported = 2,
    MTLRenderPipelineErrorInvalidInput = 3,
};

}  // namespace Metal
