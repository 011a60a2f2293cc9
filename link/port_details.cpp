#include "link/port_details.h"

namespace tevral::link {

std::string PortDetails::UsbDescription() const {
  if (!usb) return {};
  std::string text = manufacturer;
  if (!product.empty()) text += (text.empty() ? "" : " ") + product;
  const std::string ids = vendor_id + ":" + product_id;
  return text.empty() ? ids : text + " (" + ids + ")";
}

}  // namespace tevral::link
