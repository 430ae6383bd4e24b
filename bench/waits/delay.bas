delay 5000
