gosub "nowhere"
