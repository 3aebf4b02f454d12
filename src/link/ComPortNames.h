#pragma once

#include <QString>

// The setting ComPort keeps the numbers "1" .. "10"; on this system the
// number n names the n-th of these devices:
//
//   1 .. 4   /dev/ttyS0 .. /dev/ttyS3     (built-in serial ports)
//   5 .. 8   /dev/ttyUSB0 .. /dev/ttyUSB3 (USB serial adapters)
//   9, 10    /dev/ttyACM0, /dev/ttyACM1   (USB modem-class adapters)
//
// A value that begins with "/" is a device path and is used as it stands.

// Number of port choices the settings offer.
inline constexpr int comPortCount = 10;

// The device for port number n (1 .. 10); "" for any other number.
QString comPortDeviceForNumber(int n);

// The device a ComPort value stands for; "" when it is neither a number
// 1 .. 10 (blanks and leading zeros allowed, "03" is 3) nor a path.
QString comPortDevice(const QString& comPortSetting);

// The port number of a ComPort value (1 .. 10); 0 for a path or anything else.
int comPortNumber(const QString& comPortSetting);
