#pragma once
// Helpers every window calls while it loads.

namespace forms {
class Form;
}

void StayOnTop(forms::Form& form);
void CenterForm(forms::Form& form);
void DisableCloseButton(forms::Form& form, bool remove);
