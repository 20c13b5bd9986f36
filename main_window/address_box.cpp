#include "main_window/address_box.h"

namespace quorvane {

void AddressBox::Show(const std::string& text) {
    state_ = State::ShowsAddress;
    written_ = text;
    surface_.SetAddressText(text);
}

void AddressBox::Follow(const std::string& address) {
    address_ = address;
    if (state_ == State::ShowsAddress) {
        written_ = address;
        surface_.SetAddressText(address);
    }
}

// Typing back to what the program wrote is no change of the user's.
void AddressBox::Typed(const std::string& text) {
    state_ = text == written_ ? State::ShowsAddress : State::BeingTyped;
}

bool AddressBox::Escaped() {
    if (state_ != State::BeingTyped) {
        return false;
    }
    Show(address_);
    return true;
}

}  // namespace quorvane
