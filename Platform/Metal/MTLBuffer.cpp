#include "Metal/MTLBuffer.hpp"

namespace Metal {

MTLBuffer::MTLBuffer(std::size_t length, MTLResourceOptions options) : bytes_(length, 0), options_(options) {}

}  // namespace Metal
