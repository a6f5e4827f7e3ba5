#pragma once

// The members that the SwiftUI and the AppKit namespaces of the kit's assets share, each with
// the resource it is made from, in declaration order: X(member, resource).
#define ORRINDLE_OD_COLOR_MEMBERS(X)          \
    X(Background::normal, backgroundNormal)   \
    X(Background::darker, backgroundDarker)   \
    X(Background::darkest, backgroundDarkest) \
    X(Tessik::aqua, tessikAqua)               \
    X(Tessik::blue, tessikBlue)               \
    X(Tessik::darkPurple, tessikDarkPurple)   \
    X(Tessik::lightBlue, tessikLightBlue)     \
    X(Tessik::orange, tessikOrange)           \
    X(Tessik::purple, tessikPurple)           \
    X(Tessik::red, tessikRed)                 \
    X(Tessik::yellow, tessikYellow)           \
    X(grey20, grey20)                         \
    X(grey30, grey30)                         \
    X(grey40, grey40)                         \
    X(grey50, grey50)                         \
    X(grey60, grey60)                         \
    X(grey70, grey70)                         \
    X(grey85, grey85)                         \
    X(grey100, grey100)

#define ORRINDLE_OD_IMAGE_MEMBERS(X)              \
    X(kvuButton, kvuButton)                       \
    X(kvuButtonDown, kvuButtonDown)               \
    X(quorvaneLogoBig, windowQuorvane)            \
    X(kvuCheckerboard, kvuCheckerboard)           \
    X(kvuCheckerboardSmall, kvuCheckerboardSmall) \
    X(kvuTextfield, kvuTextfield)                 \
    X(kvuTextfieldError, kvuTextfieldError)       \
    X(kvuTextfieldFocus, kvuTextfieldFocus)       \
    X(kvuCheckbox, kvuCheckbox)                   \
    X(kvuCheckboxOn, kvuCheckboxOn)               \
    X(kvuCheckboxDown, kvuCheckboxDown)           \
    X(kvuCheckboxOnDown, kvuCheckboxOnDown)
