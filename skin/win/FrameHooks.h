#pragma once
// What a skinned frame takes from its form and the application while it is
// on the form, and gives back when it goes: the application's OnMessage
// (taken only when nobody holds it) and the native caption of the form window.

#include "Application.h"

class TCustomForm;

// Takes the application's OnMessage for Method of Frame when nobody holds it;
// answers whether it did.
template <auto Method, class Frame>
bool TakeAppMessageHook(Frame* F) {
    if (Application->OnMessage) return false;
    Application->OnMessage = TMessageEvent::Bind<Method>(F);
    return true;
}

// Gives the application's OnMessage up when Owns, but only while it is still
// Method of Frame: whoever hooked after the frame keeps their hook.
template <auto Method, class Frame>
void ReleaseAppMessageHook(Frame* F, bool& Owns) {
    if (!Owns || !Application) return;
    if (Application->OnMessage == TMessageEvent::Bind<Method>(F)) Application->OnMessage = {};
    Owns = false;
}

// The native caption back on Form's window (when it has one) and its frame
// worked out again.
void RestoreFormCaption(TCustomForm* Form);
