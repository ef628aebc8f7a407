/* Dispatch identifiers of the gradient button Gleam, fixed for good by its
   type library: containers and scripts find the button's members and events
   through them. The one list for the type library (buttonctl/lantoc.idl
   includes this file through widl's preprocessor), the button's events and
   the program's host of the button, so plain C macros only. */
#ifndef QUILLET_BASE_GLEAM_DISPIDS_H
#define QUILLET_BASE_GLEAM_DISPIDS_H

/* Properties of _Gleam. */
#define GLEAM_DISPID_ENABLED 0x68030005
#define GLEAM_DISPID_FORE_COLOR 0x68030004
#define GLEAM_DISPID_POS_X 0x68030003
#define GLEAM_DISPID_POS_Y 0x68030002
#define GLEAM_DISPID_TEXT_COLOR 0x68030001
#define GLEAM_DISPID_TEXT 0x68030000

/* Methods of _Gleam. */
#define GLEAM_DISPID_COLOR_GRADIENT 0x6003000F
#define GLEAM_DISPID_DESALT_COLOR 0x60030010
#define GLEAM_DISPID_VRGB 0x60030011

/* Events of the source interface __Gleam. */
#define GLEAM_EVENT_CLICK 1
#define GLEAM_EVENT_PAINT 2
#define GLEAM_EVENT_KEY_PRESS 3

#endif
