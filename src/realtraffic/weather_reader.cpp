#include "realtraffic/weather_reader.h"

#include "realtraffic/weather_decoder.h"

namespace tfx {

WeatherReader::WeatherReader(uint16_t port, bool loopbackOnly) : UdpReader("QNH Reader", port, loopbackOnly) {}

void WeatherReader::process(std::string_view datagram) { decodeWeatherDatagram(datagram, {lastQnh, state}); }

}  // namespace tfx
