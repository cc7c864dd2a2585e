#include "player/player.h"

#include <algorithm>

#include "player/presentation.h"
#include "script/number_text.h"
#include "script/variable_store.h"

namespace velk {

class Player::Impl : public Presentation {
  public:
    using Presentation::Presentation;
};

Player::Player(PlayerServices services) : impl_(std::make_unique<Impl>(services)) {}
Player::~Player() = default;

bool Player::Start(PlayerStart start) {
    return impl_->Start(std::move(start));
}
void Player::Paint(const Rect& dirty) {
    impl_->Paint(dirty);
}
const Surface& Player::BackBuffer() const {
    return impl_->BackBuffer();
}
Size Player::ClientSize() const {
    return impl_->ClientSize();
}
std::optional<std::uint32_t> Player::NextTimerDue() const {
    return impl_->NextTimerDue();
}
void Player::DeliverDueTimers() {
    impl_->DeliverDueTimers();
}
void Player::OnPointer(const PointerEvent& event) {
    impl_->OnPointer(event);
}
bool Player::OnKeyDown(std::uint32_t virtual_key, KeyModifiers modifiers) {
    return impl_->OnKeyDown(virtual_key, modifiers);
}
void Player::OnChar(std::uint8_t character) {
    impl_->OnChar(character);
}
void Player::OnCancel() {
    impl_->OnCancel();
}
void Player::OnFocusLost() {
    impl_->OnFocusLost();
}
void Player::OnActivation(std::string_view command_line) {
    impl_->OnActivation(command_line);
}
bool Player::Ended() const {
    return impl_->Ended();
}
const VariableStore& Player::Variables() const {
    return impl_->Vars();
}
std::vector<VariableValue> Player::VariableValues() const {
    std::vector<VariableValue> values;
    for (const Variable& variable : impl_->Vars().All()) {
        const bool text =
            VariableStore::IsStringName(variable.name) || variable.number == kNoNumber;
        values.push_back(
            {variable.name, text, text ? variable.text : NumberToText(variable.number)});
    }
    // By name, so that what is shown does not depend on the order variables were created in.
    std::sort(values.begin(), values.end(),
              [](const VariableValue& a, const VariableValue& b) { return a.name < b.name; });
    return values;
}
std::string Player::CurrentPageName() const {
    return impl_->CurrentPageName();
}
bool Player::TransitionRunning() const {
    return impl_->TransitionRunning();
}

}  // namespace velk
