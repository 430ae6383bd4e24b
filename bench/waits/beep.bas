beep 10
