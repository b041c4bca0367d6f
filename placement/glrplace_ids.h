#ifndef GLRPLACE_IDS_H
#define GLRPLACE_IDS_H
/*
 * Fixed identity of the placement control. These values are chosen once and
 * never change: pages embed the class identifier and hosts look it up in the
 * class registry. Plain C, no includes, so any part of the program can use it.
 */

/* clang-format off */
/* Class identifier of GLRVisualPlacementObject. */
#define GLR_CLSID_TEXT "{82A6D3E9-EB98-480F-B65A-A72D83EF7030}"
/* The same without braces, the form an <object classid="clsid:..."> takes. */
#define GLR_CLSID_BARE_TEXT "82A6D3E9-EB98-480F-B65A-A72D83EF7030"
#define GLR_CLSID_INIT {0x82A6D3E9u, 0xEB98u, 0x480Fu, {0xB6, 0x5A, 0xA7, 0x2D, 0x83, 0xEF, 0x70, 0x30}}

/* Dual interface IGLRVisualPlacementObject. */
#define GLR_IID_PLACEMENT_TEXT "{43CBEB56-4252-41C3-ACA5-2CE6AF6C1AAD}"
#define GLR_IID_PLACEMENT_INIT {0x43CBEB56u, 0x4252u, 0x41C3u, {0xAC, 0xA5, 0x2C, 0xE6, 0xAF, 0x6C, 0x1A, 0xAD}}

/* Outgoing interface _IGLRVisualPlacementObjectEvents (no members). */
#define GLR_IID_PLACEMENT_EVENTS_TEXT "{E99C8A88-FF10-451A-86C3-EFA72E7025FF}"
#define GLR_IID_PLACEMENT_EVENTS_INIT {0xE99C8A88u, 0xFF10u, 0x451Au, {0x86, 0xC3, 0xEF, 0xA7, 0x2E, 0x70, 0x25, 0xFF}}

/* Type library GLRVISUALPLACEMENTCONTROLLib, version 1.0. */
#define GLR_LIBID_TEXT "{56FD40D6-887B-4AD7-8FFF-F02F7903AAC0}"
#define GLR_LIBID_INIT {0x56FD40D6u, 0x887Bu, 0x4AD7u, {0x8F, 0xFF, 0xF0, 0x2F, 0x79, 0x03, 0xAA, 0xC0}}

/* clang-format on */

#define GLR_PROGID "GLRVisualPlacementObject.GLRVisualPlacementObject.1"
#define GLR_VERSION_INDEPENDENT_PROGID "GLRVisualPlacementObject.GLRVisualPlacementObject"
#define GLR_CLASS_DESCRIPTION "GLRVisualPlacementObject Class"

/* Group of the per-user class registry in the settings store. */
#define GLR_CLASSES_GROUP "Classes"
/* When set, the class registry lives in this INI file instead of the user's store. */
#define GLR_CLASS_STORE_ENV "GALLORIM_CLASS_STORE"

#endif
