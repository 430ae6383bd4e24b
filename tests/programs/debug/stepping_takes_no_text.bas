stepping 0
stepping "on"
