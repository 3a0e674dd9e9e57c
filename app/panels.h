// Panels shown and hidden by clicks and hovering, and compact mode.
#pragma once

#include "app/main_window.h"

namespace zenkor {

// The display scale of compact mode; the model's geometry never changes.
inline constexpr double kCompactScale = 0.85;
inline constexpr const char* kCompactOnCaption = "Passer en mode normal";
inline constexpr const char* kCompactOffCaption = "Passer en mode réduit";
// The messages that give the two captions in the current language.
inline constexpr int kCompactOffMessage = 27;
inline constexpr int kCompactOnMessage = 28;

void Command14_Click(Zenkor& w);  // compact mode switch
// Gives Command14 the caption of the current state from the messages; without them, the French caption
// where the caption is French, while another language's own caption stays.
void ShowCompactCaption(Zenkor& w);
void Frame18_Click(Zenkor& w);
void Image11_Click(Zenkor& w);
void Image17_Click(Zenkor& w);
void Image6_Click(Zenkor& w);
void Label17_MouseDown(Zenkor& w, int Index, int Button, int Shift, float X, float Y);
void Label25_MouseMove(Zenkor& w, int Button, int Shift, float X, float Y);

}  // namespace zenkor
