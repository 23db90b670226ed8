#pragma once
// How bytes reach the simulated device. The paths differ in what they carry:
// USB delivers 65-byte reports (report id, 64 frame bytes); the network one
// frame per write, and in update mode 65-byte chunks laid out like the
// reports; the serial line a plain byte stream.
enum class CSimPath { Usb, Network, Serial };

const char* SimPathName(CSimPath path);
