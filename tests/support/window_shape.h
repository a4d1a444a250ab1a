#pragma once
// The alarm clock's window as the platform gets it: titled "   ", with a close and a
// minimise button only, its content 281 x 179, and no resize by the user.

class Window;

void ExpectAlarmWindowShape(Window& window);
