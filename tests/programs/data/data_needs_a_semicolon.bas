data d 1
