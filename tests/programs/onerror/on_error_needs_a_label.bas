onerror "nowhere"
