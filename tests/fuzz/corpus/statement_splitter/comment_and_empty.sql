-- comment; with a semicolon
DELETE FROM t;
  	
;;