<?php
  $id = intval($_GET['id']);
  echo "<a href='php-echo.html'>generated</a>";
?>
<html>
<head><title><?php echo $title ?></title>
<link href="../css/site.css" rel="stylesheet">
</head>
<body>
<h1><?= htmlspecialchars($name) ?></h1>
<a href="cart.shtml">Cart</a>
<a href="../index.html">Home</a>
<a href="checkout.php">Checkout</a>
<img src="../img/item-<?php echo $id ?>.jpg" alt="item">
<!--#include virtual="/ssi/footer.html" -->
</body>
</html>
