#include "toolkit/sw_object.h"

void CSWObject::Parse(const boost::property_tree::ptree& attributes) {
  for (const auto& [name, value] : attributes) {
    SetAttribute(name, value.data());
  }
}
